# WebM with VP8 video and Vorbis audio.
[template]
group = More formats
type = video
order = 22
icon = webm
ext_format = webm

[values]
/name = WebM VP8
/full_name = WebM VP8 Video
/ext_name = webm
vcodec = libvp8_encoder
acodec = libvorbis
b = 1000K
ab = 128K
s = 640x360
r = 25fps
ac = 2
ar = 44100
deadline = realtime
cpu-used = 8

[choices]
vcodec = libvp8_encoder
acodec = libvorbis
