// orvane-preview: draws an exchange file as an SVG picture.
//
//   orvane-preview [--before FILE] [--chain VK38_DAT | --picked | --clicked]
//                  [--horizontal] [--size PIXELS] EXCHANGE_FILE OUTPUT.svg
//
// EXCHANGE_FILE is drawn in its own colours. --before draws another exchange
// file (typically the host's file that the program read) underneath in grey,
// with its picked points; --chain overlays the chain of vertical dimensions
// stored in a settings file, --picked the chain that the program started
// with "/pick" finds in the selection of the host's file (--before, else
// EXCHANGE_FILE), --clicked the chain that the program started with "/click"
// finds from the clicked line, with the click; with --horizontal that chain
// is one of horizontal dimensions (vk47h.dat, "/h /pick", "/h /click");
// --size sets the pixels of the drawing's longer side (default 1000). Exit status: 0 written, 1 an input could not be
// read or the picture not written, 2 wrong arguments.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/SettingsFile.h"
#include "dimension/Chain.h"
#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "dialog/SettingsTable.h"
#include "files/StandardFileSystem.h"
#include "preview/HostLayer.h"
#include "preview/ChainLayer.h"
#include "preview/SvgRenderer.h"
#include "tools/text/ShiftJisCodec.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: orvane-preview [--before FILE] [--chain VK38_DAT | --picked | --clicked]\n"
    "                      [--horizontal] [--size PIXELS] EXCHANGE_FILE OUTPUT.svg\n"
    "  draws EXCHANGE_FILE as an SVG picture; --before draws a host file underneath\n"
    "  in grey, --chain overlays the chain stored in a settings file, --picked the\n"
    "  chain found in the selection of the host file (--before, else EXCHANGE_FILE)\n"
    "  as the program started with /pick finds it, --clicked the chain of the line\n"
    "  clicked (/click) with the click; --horizontal: that chain is one of\n"
    "  horizontal dimensions (vk47h.dat, /h /pick, /h /click); --size sets the\n"
    "  pixels of the drawing's longer side (100 to 20000, default 1000).\n";

struct Arguments {
  std::optional<fs::path> Before;
  std::optional<fs::path> Chain;
  bool Picked = false;
  bool Clicked = false;  // with Picked: the chain of the clicked line
  ChainDirection Direction = ChainDirection::Vertical;
  double Size = 1000;
  fs::path Exchange;
  fs::path Output;
};

// A whole number of pixels within the limits, or nothing.
std::optional<double> ParseSize(const std::string& text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int pixels = std::stoi(text);
  if (pixels < 100 || pixels > 20000) return std::nullopt;
  return pixels;
}

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--before" || arg == "--chain") && i + 1 < argc) {
      (arg == "--before" ? args.Before : args.Chain) = fs::path(argv[++i]);
    } else if (arg == "--picked" || arg == "--clicked") {
      if (args.Picked) return std::nullopt;
      args.Picked = true;
      args.Clicked = arg == "--clicked";
    } else if (arg == "--horizontal") {
      args.Direction = ChainDirection::Horizontal;
    } else if (arg == "--size" && i + 1 < argc) {
      const auto size = ParseSize(argv[++i]);
      if (!size) return std::nullopt;
      args.Size = *size;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
      return std::nullopt;
    } else if (arg != "--") {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2 || (args.Chain && args.Picked)) return std::nullopt;
  args.Exchange = positional[0];
  args.Output = positional[1];
  return args;
}

// Reads one exchange file into a state of its own.
std::optional<HostState> ReadHostFile(const fs::path& path) {
  HostState host;
  ResetHostState(host);
  StandardFileSystem files;
  if (!ReadExchangeFile(files, path, host)) return std::nullopt;
  return host;
}

// Loads a settings file as the program does. Nothing when the file is
// missing or unreadable before its chain values.
std::optional<DialogSettings> ReadSettingsFile(const fs::path& path) {
  StandardFileSystem files;
  DialogSettings settings = InitialSettings();
  LoadSettings(files, path, settings);
  if (settings.LastLayerGroup < 0) return std::nullopt;
  return settings;
}

// True when the file set no layer-group scale and no text style: our own
// output, which leaves them to the host. `defaults` is a freshly reset state.
bool LacksHostSettings(const HostState& state, const HostState& defaults) {
  if (state.GroupScales != defaults.GroupScales) return false;
  for (std::size_t i = 0; i < state.TextStyles.size(); ++i) {
    const HostTextStyle& a = state.TextStyles[i];
    const HostTextStyle& b = defaults.TextStyles[i];
    if (a.Width != b.Width || a.Height != b.Height || a.Spacing != b.Spacing || a.Colour != b.Colour) {
      return false;
    }
  }
  return true;
}

std::string FileCaption(const fs::path& path) { return path.filename().string(); }

bool WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  const auto args = ParseArguments(argc, argv);
  if (!args) {
    std::cerr << kUsage;
    return 2;
  }

  std::optional<HostState> before;
  if (args->Before) {
    before = ReadHostFile(*args->Before);
    if (!before) {
      std::cerr << "orvane-preview: cannot read " << args->Before->string() << "\n";
      return 1;
    }
  }
  std::optional<HostState> drawing = ReadHostFile(args->Exchange);
  if (!drawing) {
    std::cerr << "orvane-preview: cannot read " << args->Exchange.string() << "\n";
    return 1;
  }

  std::optional<DialogSettings> chain;
  if (args->Chain) {
    chain = ReadSettingsFile(*args->Chain);
    if (!chain) {
      std::cerr << "orvane-preview: cannot read the chain of " << args->Chain->string() << "\n";
      return 1;
    }
  }

  PreviewOptions options;
  // The system's converter; without one, the preview's own table-free
  // decoding.
  options.Decode = codec::ShiftJisToUtf8Lossy("") ? TextDecoder([](std::string_view sjis) {
    return codec::ShiftJisToUtf8Lossy(sjis).value_or(std::string());
  })
                                                 : TextDecoder(DecodeSjisWithoutTable);
  options.LongSide = args->Size;
  options.Title = "Preview of " + FileCaption(args->Exchange);

  std::vector<SceneLayer> layers;
  if (before) {
    HostLayerSettings settings;
    settings.Id = "before";
    settings.Caption = FileCaption(*args->Before) + " (host file, grey)";
    settings.Underlay = true;
    layers.push_back(BuildHostLayer(*before, settings, options.Decode));
  }

  if (chain) {
    // The chain is shown at the scale of the host's current layer group,
    // as the program itself re-expresses it.
    const double scale = CurrentGroupScale(before ? *before : *drawing);
    layers.push_back(BuildChainLayer(*chain, scale, FileCaption(*args->Chain) + " (stored chain)",
                                     args->Direction));
  }
  if (args->Picked) {
    const fs::path& selection = before ? *args->Before : args->Exchange;
    layers.push_back(BuildPickedChainLayer(before ? *before : *drawing,
                                           FileCaption(selection) +
                                               (args->Clicked ? " (clicked chain)" : " (picked chain)"),
                                           args->Direction, args->Clicked));
  }

  HostLayerSettings settings;
  settings.Id = "drawing";
  settings.Caption = FileCaption(args->Exchange);
  // Our output carries no layer-group scales and no text styles; the host's
  // file beside it has them, and they size and colour its texts and marks.
  HostState defaults;
  ResetHostState(defaults);
  if (before && LacksHostSettings(*drawing, defaults)) {
    settings.GroupScales = before->GroupScales;
    settings.TextStyles = before->TextStyles;
  }
  layers.push_back(BuildHostLayer(*drawing, settings, options.Decode));

  if (!WriteText(args->Output, RenderSvg(layers, options))) {
    std::cerr << "orvane-preview: cannot write " << args->Output.string() << "\n";
    std::error_code ec;
    fs::remove(args->Output, ec);
    return 1;
  }
  return 0;
}
