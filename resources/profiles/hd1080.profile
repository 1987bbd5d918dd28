# Full HD 1920 x 1080 with H.264 video and AAC audio, for television sets.
[template]
group = More formats
type = hd
order = 31
icon = hd
ext_format = mp4

[values]
/name = HD 1080p
/full_name = H.264 Video for TV
/ext_name = mp4
vcodec = libx264
acodec = aac
b = 8000K
ab = 192K
s = 1920x1080
r = 25fps
ac = 2
ar = 48000
pix_fmt = yuv420p
preset = fast
