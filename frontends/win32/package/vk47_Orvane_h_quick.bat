REM 水平寸法を外側へ追加（ダイアログなし、寸法値は引出線付き）
REM #jww
REM #cd
REM #h0
REM #zz
REM #zw
REM #zc
REM #1 追加する寸法の計測点を指示してください (L)free (R)Read
REM #2 寸法値の位置を指示してください (L)free (R)Read
REM #e
"%~dp0vk47_Orvane.exe" /h /quick
