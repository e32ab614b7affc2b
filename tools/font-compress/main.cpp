// Build-time tool: compresses a file into the stb compressed format that Dear ImGui's
// compressed-font loader reads. Usage: font-compress <input> <output>. Single-threaded.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

// From libstb (stb.h, whose header does not compile as C++).
extern "C" unsigned int stb_compress(unsigned char* out, unsigned char* input, unsigned int length);

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: font-compress <input> <output>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> input{std::istreambuf_iterator<char>(in), {}};
    if (!in.is_open() || input.empty()) {
        std::fprintf(stderr, "font-compress: cannot read %s\n", argv[1]);
        return 1;
    }
    // The format never grows a file by more than its literal-run headers.
    std::vector<unsigned char> output(input.size() + input.size() / 8 + 64);
    const unsigned int length = stb_compress(output.data(),
        const_cast<unsigned char*>(input.data()), static_cast<unsigned int>(input.size()));
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(output.data()), length);
    if (!out) {
        std::fprintf(stderr, "font-compress: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
