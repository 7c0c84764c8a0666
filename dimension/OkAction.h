#pragma once
// The OK action: checks the dialog values, continues the stored chain, saves
// the settings file and emits the new vertical dimension.
class TForm1;

// The body of TForm1::Button1Click.
void RunOkAction(TForm1& form);
