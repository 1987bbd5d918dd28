# QuickTime movie with H.264 video and AAC audio.
[template]
group = More formats
type = video
order = 14
icon = mov
ext_format = mov

[values]
/name = MOV
/full_name = QuickTime Movie
/ext_name = qt
vcodec = libx264
acodec = aac
b = 2000K
ab = 128K
s = 640x480
r = 25fps
ac = 2
ar = 44100
pix_fmt = yuv420p

[choices]
vcodec = libx264|mpeg4
acodec = aac
