#include "dialog/DialogValues.h"

#include "dialog/SettingsTable.h"

namespace {

struct Show {
  UserInterface& ui;
  const DialogSettings& settings;
  const SettingRow& row;
  void operator()(std::int32_t DialogSettings::*field) const {
    if (row.Kind == SettingKind::ListIndex)
      ui.ListSelect(*row.Id, settings.*field);
    else
      ui.RadioSelect(*row.Id, settings.*field);
  }
  void operator()(std::string DialogSettings::*field) const { ui.SetText(*row.Id, settings.*field); }
  void operator()(bool DialogSettings::*field) const { ui.CheckSet(*row.Id, settings.*field); }
  void operator()(double DialogSettings::*) const {}
};

struct Read {
  UserInterface& ui;
  DialogSettings& settings;
  const SettingRow& row;
  void operator()(std::int32_t DialogSettings::*field) const {
    settings.*field = row.Kind == SettingKind::ListIndex ? ui.ListSelected(*row.Id)
                                                         : ui.RadioSelected(*row.Id);
  }
  void operator()(std::string DialogSettings::*field) const { settings.*field = ui.GetText(*row.Id); }
  void operator()(bool DialogSettings::*field) const { settings.*field = ui.CheckGet(*row.Id); }
  void operator()(double DialogSettings::*) const {}
};

}  // namespace

void ShowDialogPart(UserInterface& ui, const DialogSettings& settings) {
  for (const SettingRow& row : SettingRows())
    if (row.Id) std::visit(Show{ui, settings, row}, row.Field);
}

void ReadDialogPart(UserInterface& ui, DialogSettings& settings) {
  for (const SettingRow& row : SettingRows())
    if (row.Id) std::visit(Read{ui, settings, row}, row.Field);
}
