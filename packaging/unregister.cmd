@echo off
rem Removes what register.cmd in this folder wrote, and nothing else: only
rem when smb:// links still open with the smbopener.exe beside it, and
rem keys are removed only where nothing else is left in them.
setlocal
set "exe=%~dp0smbopener.exe"
set "key=HKEY_CURRENT_USER\Software\Classes\smb"
set "ours="
reg query "%key%\shell\open\command" /ve 2>nul | find /i "%exe%" >nul && set "ours=1"
if not defined ours (
  echo smb:// links are not associated with "%exe%" for this user; nothing to remove.
  exit /b 0
)
reg delete "%key%\shell\open\command" /f >nul 2>&1
reg delete "%key%\DefaultIcon" /f >nul 2>&1
reg delete "%key%" /v "URL Protocol" /f >nul 2>&1
reg delete "%key%" /ve /f >nul 2>&1
call :remove_if_empty "%key%\shell\open"
call :remove_if_empty "%key%\shell"
call :remove_if_empty "%key%"
echo smb:// links no longer open with "%exe%".
exit /b 0

:remove_if_empty
rem reg query lists a key's own name, its values and its subkeys; a key
rem whose listing holds nothing but its own name is empty.
for /f "delims=" %%l in ('reg query "%~1" 2^>nul') do (
  if /i not "%%l"=="%~1" exit /b 0
)
reg delete "%~1" /f >nul 2>&1
exit /b 0
