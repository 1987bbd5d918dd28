# Flash movie: SWF with Sorenson H.263 video and MP3 audio.
[template]
group = Legacy
type = video
order = 21
icon = swf
ext_format = swf

[values]
/name = SWF
/full_name = Flash Movie
/ext_name = swf
vcodec = flv
acodec = libmp3lame
b = 600K
ab = 64K
s = 320x240
r = 15fps
ac = 2
ar = 22050

[choices]
ar = 11025|22050|44100
