# MP4 with H.264 video and AAC audio: the default profile, plays nearly everywhere.
[template]
group = More formats
type = video
order = 10
icon = mp4
ext_format = mp4

[values]
/name = MP4 H.264
/full_name = MPEG-4 H.264 Video
/ext_name = mp4
vcodec = libx264
acodec = aac
b = 2000K
ab = 128K
s = 640x480
r = 25fps
ac = 2
ar = 44100
cbrorvbr = CBR
vbrquality = 23
pix_fmt = yuv420p
encodedby = Vellumix

[choices]
vcodec = libx264
acodec = aac
