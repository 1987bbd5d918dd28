# DV for camcorders and editing, PAL (720 x 576, 25 frames/s, 48 kHz PCM).
[template]
group = More formats
type = video
order = 42
icon = dv
ext_format = dv

[values]
/name = DV
/full_name = DV Video PAL
/ext_name = dv
vcodec = dvvideo
acodec = pcm_s16le
s = 720x576
r = 25fps
ac = 2
ar = 48000
pix_fmt = yuv420p
aspect = 4:3
