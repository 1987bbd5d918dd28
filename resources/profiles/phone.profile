# Mobile phones: MP4 with baseline H.264 video at 480 x 320.
[template]
group = More formats
type = device
order = 51
icon = phone
ext_format = mp4

[values]
/name = Mobile Phone
/full_name = MP4 Video for Mobile Phones
/ext_name = mp4
vcodec = libx264
acodec = aac
b = 768K
ab = 96K
s = 480x320
r = 30fps
ac = 2
ar = 44100
pix_fmt = yuv420p
profile:v = baseline
level = 3.0
