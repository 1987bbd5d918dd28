# MPEG-2 program stream for DVD authoring, NTSC (720 x 480, 29.97 frames/s).
[template]
group = More formats
type = video
order = 41
icon = dvd
ext_format = vob

[values]
/name = MPEG-2 NTSC
/full_name = MPEG-2 DVD Video NTSC
/ext_name = mpg
vcodec = mpeg2video
acodec = ac3
b = 6000K
ab = 192K
s = 720x480
r = 29.97fps
ac = 2
ar = 48000
aspect = 4:3
g = 18

[choices]
r = 29.97fps
ar = 48000
