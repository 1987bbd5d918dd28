# For video sites in 4K: 3840 x 2160, 16:9, H.264 High and AAC in MP4.
[template]
group = Share
type = hd
order = 2
icon = hd
ext_format = mp4
framing = fit

[values]
/name = Video sites 4K
/full_name = Ultra HD 16:9 for video sites
/ext_name = mp4
vcodec = libx264
profile:v = high
level = 5.1
acodec = aac
b = 40000K
ab = 192K
s = 3840x2160
r = 30fps
g = 60
bf = 2
ac = 2
ar = 48000
pix_fmt = yuv420p
preset = veryfast
