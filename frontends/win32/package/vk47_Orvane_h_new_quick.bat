REM 水平寸法の連続を新しく開始（続きはダイアログなし、寸法値は引出線付き）
REM #jww
REM #cd
REM #h0
REM #zz
REM #zw
REM #zc
REM #1 寸法の計測点（１点目）を指示してください (L)free (R)Read
REM #2 寸法の計測点（２点目）を指示してください (L)free (R)Read
REM #3 寸法線の位置を指示してください (L)free (R)Read
REM #4 寸法値の位置を指示してください (L)free (R)Read
REM #e
"%~dp0vk47_Orvane.exe" /h /new /quick
