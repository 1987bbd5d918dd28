# For video sites: 1920 x 1080, 16:9, H.264 High and AAC in MP4.
[template]
group = Share
type = hd
order = 1
icon = hd
ext_format = mp4
framing = fit

[values]
/name = Video sites
/full_name = Full HD 16:9 for video sites
/ext_name = mp4
vcodec = libx264
profile:v = high
level = 4.0
acodec = aac
b = 8000K
ab = 192K
s = 1920x1080
r = 30fps
g = 60
bf = 2
ac = 2
ar = 48000
pix_fmt = yuv420p
preset = fast
