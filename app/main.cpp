// Program entry of Varnet.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Varnet 0.1.0\n");
            return 0;
        }
    }
    return 0;
}
