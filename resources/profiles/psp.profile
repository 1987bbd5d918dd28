# Portable game console: MP4 with H.264 video at 480 x 272.
[template]
group = Legacy
type = device
order = 50
icon = psp
ext_format = mp4

[values]
/name = PSP
/full_name = PSP Video
/ext_name = mp4
vcodec = libx264
acodec = aac
b = 768K
ab = 128K
s = 480x272
r = 29.97fps
ac = 2
ar = 48000
