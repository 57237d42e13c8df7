REM nachts um 2 Uhr
robocopy C:\Users\Anna\Documents "\\nas\backup\%USERNAME% Dokumente" *.docx *.xlsx /S /XF "~$*" /COPY:DAT /LOG:"C:\Logs\sicher.log" /TEE /SJ
