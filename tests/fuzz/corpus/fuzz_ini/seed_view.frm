; comment
[TFormMain]
LeftPanelWidth=250
DrawsStatLen=1000
ColorDraws=0
Language=1049
DrawsList.Column0=80
DrawsList.SortType=2,1
Flags=0
ShowCmd=1
NormPos=10,20,800,600
NormPos_1920x1080=0,0,1920,1040
MinMaxPos=-1,-1,-1,-1
[other]
X=1
[ Имя ]
Имя=зн
