#include "dimension/OkAction.h"

#include <cmath>

#include "app/DialogModel.h"
#include "app/SettingsFile.h"
#include "app/Unit1.h"
#include "dimension/Chain.h"
#include "dimension/DimensionGeometry.h"
#include "dimension/EndMarks.h"
#include "dimension/OkInputs.h"
#include "dimension/ValueText.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "helpers/MyFunc.h"

void TForm1::Button1Click() { RunOkAction(*this); }

namespace {

double InDrawingUnits(double paperMm, double scale) {
  return static_cast<double>(static_cast<Extended>(paperMm) * scale);
}

// The host's own attributes, so that the new dimension is drawn with them.
void EmitHostAttributes(const THostState& host) {
  EmitLayerGroup(host.InitialGroup);
  EmitLayer(host.InitialLayer);
  EmitLineColor(host.InitialColour);
  EmitPnColor(host.InitialColour);
  EmitLineType(host.InitialLineType);
  EmitLineWidth(host.InitialLineWidth);
  EmitFontName(host.InitialFontName);
}

// Hands the host back its own text style, whatever number it had.
void RestoreHostTextStyle(const THostState& host) {
  const HostTextStyle& free = host.InitialFreeText;
  EmitTextStyle(host.InitialTextStyle, free.Colour, free.Width, free.Height, free.Spacing);
}

}  // namespace

void RunOkAction(TForm1& form) {
  UserInterface& ui = form.Ui;
  TDialogSettings& settings = form.DialogSettings;
  THostState& host = HostState;

  int left = 0;
  int top = 0;
  ui.GetWindowPosition(left, top);
  settings.WindowLeft = left;
  settings.WindowTop = top;

  const std::optional<OkInputs> read = ReadOkInputs(ui);
  if (!read) return;
  const OkInputs& in = *read;

  // The settings file records the scale actually used, so the companion tool
  // never reads a scale that would wipe out the chain.
  const double scale = CurrentGroupScale(host);
  host.GroupScales[static_cast<std::size_t>(host.InitialGroup)] = scale;
  const double axis = host.AxisAngle;

  const OrderedChain chain = OrderChain(RescaledChain(settings, scale), axis);
  const PickedPoint& picked = host.PickedPoints[1];
  const PlanePoint p{picked.X, picked.Y};
  const ChainSide side = LocatePoint(chain, p, axis);
  if (side == ChainSide::Inside) {
    ui.ShowMessage(DialogTexts::InsideChain);
    ui.CloseDialog();
    return;
  }

  const ChainExtension extension = ExtendChain(chain, p, side);
  const PlanePoint q{host.PickedPoints[2].X, host.PickedPoints[2].Y};
  // Nothing is drawn unless the extended chain is stored: otherwise the next
  // run would continue the old chain across this dimension. The chain in
  // memory stays the old one too, so that OK can be pressed again once the
  // cause is mended.
  TDialogSettings extended = settings;
  StoreChain(extension.Chain, extended);
  if (!SaveSettings(form.ProgramFolder / kSettingsFileName, extended, ui)) {
    ui.ShowMessage(DialogTexts::SettingsNotSaved);
    return;
  }
  settings = extended;

  DimensionInput dim;
  dim.AxisAngle = axis;
  dim.Scale = scale;
  dim.A = extension.A;
  dim.B = extension.B;
  dim.Upward = extension.Upward;
  dim.D = extension.Chain.Ref;
  dim.Q = q;
  dim.LastAxisAngle = settings.LastAxisAngle;
  dim.TextLineGap = InDrawingUnits(in.TextLineGap, scale);
  dim.ExtLineOffset = InDrawingUnits(in.ExtLineOffset, scale);
  dim.ExtLineOvershoot = InDrawingUnits(in.ExtLineOvershoot, scale);
  const double reverseOvershoot = InDrawingUnits(in.ReverseArrowOvershoot, scale);

  const DimensionLineEnds ends = FindDimensionLineEnds(axis, dim.A, dim.B, dim.D);
  const double length = Distance(ends.E1.X, ends.E1.Y, ends.E2.X, ends.E2.Y);
  if (std::fabs(length) < kTolerance) {
    ui.ShowMessage(DialogTexts::ZeroLength);
    return;
  }

  ui.SetStatusText(DialogTexts::Processing);
  EmitHostAttributes(host);

  const ValueStyle style = SelectValueStyle(in.TextStyle, host);
  const std::string valueText = MakeValueText(length, in.Format);
  const DimensionLayout layout =
      LayOutDimension(dim, ends, ValueTextWidth(valueText, style));
  EmitDimensionBody(layout, valueText, style, in.AsDimensionFigure);

  EndMarkSettings marks;
  marks.StartMark = in.StartMark;
  marks.EndMark = in.EndMark;
  marks.MarkScale = in.MarkScale;
  marks.ArrowLength = in.ArrowLength;
  marks.ArrowAngle = in.ArrowAngle;
  marks.ReverseArrowOvershoot = reverseOvershoot;
  marks.Scale = scale;
  EmitEndMarks(ends.E1, ends.E2, marks);

  RestoreHostTextStyle(host);
  ui.SetStatusText(DialogTexts::WritingFile);
  ui.CloseDialog();
}
