// Build step, run on the build machine: draws the application icon and
// writes OUTPUT_DIR/sciedit-SIZE.png for each size given, for the desktop
// themes and the Qt window, and OUTPUT_DIR/sciedit.ico with the 16, 32, 48
// and 256 px images for the Windows resource and installer. One picture
// feeds both formats, so the platforms cannot drift apart.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/icon/IconFiles.h"
#include "tools/icon/IconPicture.h"

namespace {

using sci::icon::Bytes;
using sci::icon::Image;

Image picture(int size) { return {size, sci::icon::paintAppIcon(size)}; }

void write(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [PNG_SIZE...]\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path dir = argv[1];
    for (int i = 2; i < argc; ++i) {
      const int size = std::stoi(argv[i]);
      if (size < 1 || size > 256) throw std::runtime_error(std::string("bad size ") + argv[i]);
      write(dir / ("sciedit-" + std::to_string(size) + ".png"), sci::icon::pngFile(picture(size)));
    }
    std::vector<Image> images;
    for (int size : {16, 32, 48, 256}) images.push_back(picture(size));
    write(dir / "sciedit.ico", sci::icon::icoFile(images));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
  return 0;
}
