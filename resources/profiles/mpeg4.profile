# MP4 with MPEG-4 Part 2 video, at a constant quality.
[template]
group = More formats
type = video
order = 11
icon = mp4
ext_format = mp4

[values]
/name = MP4 MPEG-4
/full_name = MPEG-4 Video
/ext_name = mp4
vcodec = mpeg4
acodec = aac
b = 1500K
ab = 128K
s = 640x480
r = 25fps
ac = 2
ar = 44100
cbrorvbr = VBR
vbrquality = 4

[choices]
vcodec = mpeg4
acodec = aac
