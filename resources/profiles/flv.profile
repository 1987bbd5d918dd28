# Flash video: FLV with Sorenson H.263 video and MP3 audio.
[template]
group = Legacy
type = video
order = 20
icon = flv
ext_format = flv

[values]
/name = FLV
/full_name = Flash Video
/ext_name = flv
vcodec = flv
acodec = libmp3lame
b = 800K
ab = 96K
s = 480x360
r = 25fps
ac = 2
ar = 44100

[choices]
ar = 11025|22050|44100
