# For feeds: 1080 x 1080, 1:1, H.264 High and AAC in MP4.
[template]
group = Share
type = hd
order = 4
icon = mp4
ext_format = mp4
framing = blur

[values]
/name = Square
/full_name = Square 1:1 for feeds
/ext_name = mp4
vcodec = libx264
profile:v = high
level = 4.0
acodec = aac
b = 6000K
ab = 192K
s = 1080x1080
r = 30fps
g = 60
bf = 2
ac = 2
ar = 48000
pix_fmt = yuv420p
preset = fast
