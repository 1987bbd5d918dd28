# AVI with MPEG-4 Part 2 video tagged for common players, and MP3 audio.
[template]
group = More formats
type = video
order = 12
icon = avi
ext_format = avi

[values]
/name = AVI
/full_name = AVI MPEG-4 Video
/ext_name = avi
vcodec = mpeg4
vtag = XVID
acodec = libmp3lame
b = 1500K
ab = 128K
s = 640x480
r = 25fps
ac = 2
ar = 44100

[choices]
vcodec = mpeg4|msmpeg4
acodec = libmp3lame|mp2
