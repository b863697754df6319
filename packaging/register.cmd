@echo off
rem Associates smb:// links with the smbopener.exe in this folder, for the
rem current user only (no administrator rights needed). Running it again
rem is harmless. The link is handed over unquoted: "...\smbopener.exe" %1
setlocal
set "exe=%~dp0smbopener.exe"
if not exist "%exe%" (
  echo smbopener.exe is not in %~dp0
  exit /b 1
)
set "key=HKEY_CURRENT_USER\Software\Classes\smb"
reg add "%key%" /ve /d "URL:smb link" /f >nul
if errorlevel 1 goto failed
reg add "%key%" /v "URL Protocol" /d "" /f >nul
if errorlevel 1 goto failed
reg add "%key%\DefaultIcon" /ve /d "\"%exe%\",0" /f >nul
if errorlevel 1 goto failed
reg add "%key%\shell\open\command" /ve /d "\"%exe%\" %%1" /f >nul
if errorlevel 1 goto failed
echo smb:// links now open with "%exe%".
exit /b 0

:failed
echo Could not write the association under %key%.
exit /b 1
