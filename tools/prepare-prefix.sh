#!/usr/bin/env bash
# One-time settings of a fresh test prefix (WINEPREFIX set by the caller).
# Windows links fonts for Chinese and Korean on its own; Wine needs to be told,
# or those texts draw as boxes in screenshots.
set -u
link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI"; do
  wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f
done

# Every program runs in a virtual desktop, as on Windows: a top-level window
# is then no X window, so showing and activating one does not wait on the X
# server (about 2 s per window on a bare Xvfb without a window manager).
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f
