#!/usr/bin/env bash
# One-time settings of a fresh test prefix (WINEPREFIX set by the caller).
# Windows links fonts for Chinese and Korean on its own; Wine needs to be told,
# or those texts draw as boxes in screenshots.
set -u
link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI"; do
  wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f
done

