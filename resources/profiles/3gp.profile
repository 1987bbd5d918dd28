# 3GP for older phones: H.263 video at 176 x 144 and mono AAC audio.
[template]
group = Legacy
type = device
order = 52
icon = 3gp
ext_format = 3gp

[values]
/name = 3GP
/full_name = 3GP Video for Mobile Phones
/ext_name = 3gp
vcodec = h263
acodec = aac
b = 128K
ab = 32K
s = 176x144
r = 15fps
ac = 1
ar = 22050

[choices]
s = 128x96|176x144|352x288
