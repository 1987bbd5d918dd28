# Animated GIF for chats and previews: 480 pixels on the long side, 12.5 frames a second (a GIF
# frame lasts whole hundredths of a second: 8 of them), a palette made for the show, looping, no
# sound.
[template]
group = Share
type = video
order = 6
icon = gif
ext_format = gif
framing = fit

[values]
/name = Animated GIF
/full_name = Looping animated GIF for chats
/ext_name = gif
vcodec = gif
an = true
s = 480x270
r = 12.5fps
loop = 0

[choices]
s = 320x180|480x270|640x360
r = 10fps|12.5fps
