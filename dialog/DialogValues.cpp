#include "dialog/DialogValues.h"

#include "dialog/SettingsTable.h"

namespace {

struct Show {
  UserInterface& ui;
  const TDialogSettings& settings;
  const SettingRow& row;
  void operator()(std::int32_t TDialogSettings::*field) const {
    if (row.Kind == SettingKind::ListIndex)
      ui.ListSelect(*row.Id, settings.*field);
    else
      ui.RadioSelect(*row.Id, settings.*field);
  }
  void operator()(std::string TDialogSettings::*field) const { ui.SetText(*row.Id, settings.*field); }
  void operator()(bool TDialogSettings::*field) const { ui.CheckSet(*row.Id, settings.*field); }
  void operator()(double TDialogSettings::*) const {}
};

struct Read {
  UserInterface& ui;
  TDialogSettings& settings;
  const SettingRow& row;
  void operator()(std::int32_t TDialogSettings::*field) const {
    settings.*field = row.Kind == SettingKind::ListIndex ? ui.ListSelected(*row.Id)
                                                         : ui.RadioSelected(*row.Id);
  }
  void operator()(std::string TDialogSettings::*field) const { settings.*field = ui.GetText(*row.Id); }
  void operator()(bool TDialogSettings::*field) const { settings.*field = ui.CheckGet(*row.Id); }
  void operator()(double TDialogSettings::*) const {}
};

}  // namespace

void ShowDialogPart(UserInterface& ui, const TDialogSettings& settings) {
  for (const SettingRow& row : SettingRows())
    if (row.Id) std::visit(Show{ui, settings, row}, row.Field);
}

void ReadDialogPart(UserInterface& ui, TDialogSettings& settings) {
  for (const SettingRow& row : SettingRows())
    if (row.Id) std::visit(Read{ui, settings, row}, row.Field);
}
