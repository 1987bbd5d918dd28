# WebM with VP9 video and Opus audio.
[template]
group = More formats
type = video
order = 23
icon = webm
ext_format = webm

[values]
/name = WebM VP9
/full_name = WebM VP9 Video
/ext_name = webm
vcodec = libvpx-vp9
acodec = libopus
b = 1000K
ab = 96K
s = 640x360
r = 25fps
ac = 2
ar = 48000
deadline = realtime
cpu-used = 8
row-mt = 1

[choices]
vcodec = libvpx-vp9
acodec = libopus
ar = 48000
