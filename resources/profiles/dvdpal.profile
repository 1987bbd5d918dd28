# MPEG-2 program stream for DVD authoring, PAL (720 x 576, 25 frames/s).
[template]
group = More formats
type = video
order = 40
icon = dvd
ext_format = vob

[values]
/name = MPEG-2 PAL
/full_name = MPEG-2 DVD Video PAL
/ext_name = mpg
vcodec = mpeg2video
acodec = mp2
b = 6000K
ab = 224K
s = 720x576
r = 25fps
ac = 2
ar = 48000
aspect = 4:3
g = 15

[choices]
r = 25fps
ar = 48000
