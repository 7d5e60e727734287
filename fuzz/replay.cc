// Runs a fuzz target over files of inputs, so that a build without libFuzzer
// checks the corpus as an ordinary test. It takes the files themselves, which
// the build lists, since not every standard library can list a folder
// (<filesystem> is missing from WASI's libc++).

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::ifstream stream(argv[i], std::ios::binary);
    if (!stream) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)), {});
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                           bytes.size());
  }
  std::printf("replayed %d inputs\n", argc - 1);
  return argc > 1 ? 0 : 1;
}
