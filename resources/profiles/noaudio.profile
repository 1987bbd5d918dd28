# MP4 with H.264 video and no sound track.
[template]
group = More formats
type = video
order = 16
icon = mp4
ext_format = mp4

[values]
/name = MP4 Silent
/full_name = MPEG-4 H.264 Video without Audio
/ext_name = mp4
vcodec = libx264
acodec = aac
an = true
b = 2000K
ab = 128K
s = 640x480
r = 25fps
ac = 2
ar = 44100
pix_fmt = yuv420p
