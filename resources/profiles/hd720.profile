# High definition 1280 x 720 with H.264 video and AAC audio.
[template]
group = More formats
type = hd
order = 30
icon = hd
ext_format = mp4

[values]
/name = HD 720p
/full_name = H.264 HD Video 720p
/ext_name = mp4
vcodec = libx264
acodec = aac
b = 5000K
ab = 192K
s = 1280x720
r = 25fps
ac = 2
ar = 48000
pix_fmt = yuv420p
preset = fast
