// varnetctl: the command-line tool.
#include <cstdio>

int main(int argc, char** argv)
{
    std::printf("usage: varnetctl <command>\n");
    return argc > 1 ? 2 : 0;
}
