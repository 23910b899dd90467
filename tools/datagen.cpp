// Writes the data files of sys/ into the folder given as the only argument.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vallo_datagen SYS_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    for (const char* name : {"Pen.BMP", "ICON.BMP", "Empty.BMP", "Bar.bmp"}) {
        std::FILE* f = std::fopen((dir + "/" + name).c_str(), "wb");
        if (!f)
            return 1;
        std::fclose(f);
    }
    return 0;
}
