# Ultra HD 3840 x 2160 with H.264 video and AAC audio.
[template]
group = More formats
type = hd
order = 32
icon = hd
ext_format = mp4

[values]
/name = 4K Ultra HD
/full_name = H.264 Ultra HD Video 3840 x 2160
/ext_name = mp4
vcodec = libx264
acodec = aac
b = 20000K
ab = 192K
s = 3840x2160
r = 25fps
ac = 2
ar = 48000
pix_fmt = yuv420p
preset = veryfast

[choices]
vcodec = libx264|libx265
