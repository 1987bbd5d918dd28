# Windows Media: ASF container with WMV 8 video and WMA 2 audio.
[template]
group = More formats
type = video
order = 13
icon = wmv
ext_format = asf

[values]
/name = WMV
/full_name = Windows Media Video
/ext_name = wmv
vcodec = wmv3x
acodec = wma9x
b = 1500K
ab = 128K
s = 640x480
r = 25fps
ac = 2
ar = 44100
vol = 256

[choices]
vcodec = wmv3x|wmv2x
acodec = wma9x|wma8x|wma7x
