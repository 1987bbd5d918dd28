# For short-video apps on phones: 1080 x 1920, 9:16, H.264 High and AAC in MP4.
[template]
group = Share
type = hd
order = 3
icon = phone
ext_format = mp4
framing = blur

[values]
/name = Phones, vertical
/full_name = Vertical 9:16 for short-video apps
/ext_name = mp4
vcodec = libx264
profile:v = high
level = 4.0
acodec = aac
b = 8000K
ab = 192K
s = 1080x1920
r = 30fps
g = 60
bf = 2
ac = 2
ar = 48000
pix_fmt = yuv420p
preset = fast
