robocopy "%~dp0Daten" %1 /MIR /XD "Alte Sachen" node_modules /LOG+:"%Temp%\sicherung_%date:~-4,4%.log" /R:0 /W:0 /MT:16 /DCOPY:DAT /NP /XJD

