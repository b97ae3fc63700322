[playlist]
File1=C:\Music\b.mp3
Title1=Some Title
Length1=123
File2=a.mp3
NumberOfEntries=2
Version=2
