REM クリックした水平寸法の連続を外側へ延長（寸法値は引出線付き）
REM #jww
REM #cd
REM #h4
REM #zz
REM #zw
REM #zc
REM #1ln 延長する寸法線（水平寸法）をクリックしてください (L)free (R)Read
REM #2 追加する寸法の計測点を指示してください (L)free (R)Read
REM #3 寸法値の位置を指示してください (L)free (R)Read
REM #e
"%~dp0vk47_Orvane.exe" /h /click
