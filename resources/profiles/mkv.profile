# Matroska with H.264 video and Vorbis audio.
[template]
group = More formats
type = video
order = 15
icon = mkv
ext_format = matroska

[values]
/name = MKV
/full_name = Matroska Video
/ext_name = mkv
vcodec = libx264
acodec = libvorbis
b = 2000K
ab = 160K
s = 640x480
r = 25fps
ac = 2
ar = 48000
pix_fmt = yuv420p
flag_dn = true

[choices]
vcodec = libx264|mpeg4|libvpx-vp9
acodec = libvorbis|aac|libopus
