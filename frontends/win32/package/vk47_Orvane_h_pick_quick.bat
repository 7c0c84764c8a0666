REM 範囲選択した水平寸法の連続を外側へ延長（続きはダイアログなし、寸法値は引出線付き）
REM #jww
REM #cd
REM #h1
REM #hc 延長する水平寸法（寸法線と補助線、または寸法図形）を範囲選択してください
REM #zz
REM #zw
REM #zc
REM #1 追加する寸法の計測点を指示してください (L)free (R)Read
REM #2 寸法値の位置を指示してください (L)free (R)Read
REM #e
"%~dp0vk47_Orvane.exe" /h /pick /quick
