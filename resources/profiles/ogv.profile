# Ogg video with Theora video and Vorbis audio.
[template]
group = More formats
type = video
order = 24
icon = ogv
ext_format = ogv

[values]
/name = OGV
/full_name = Ogg Theora Video
/ext_name = ogv
vcodec = libtheora
acodec = libvorbis
b = 1500K
ab = 128K
s = 640x480
r = 25fps
ac = 2
ar = 44100
