# For feeds: 1080 x 1350, 4:5, H.264 High and AAC in MP4.
[template]
group = Share
type = hd
order = 5
icon = mp4
ext_format = mp4
framing = blur

[values]
/name = Portrait post
/full_name = Portrait 4:5 for feeds
/ext_name = mp4
vcodec = libx264
profile:v = high
level = 4.0
acodec = aac
b = 6500K
ab = 192K
s = 1080x1350
r = 30fps
g = 60
bf = 2
ac = 2
ar = 48000
pix_fmt = yuv420p
preset = fast
