/* A plain C program that calls the backup library as an outside caller does: it has no
   application object of its own. Usage: PlainHost <path of libKavroZip.so> */
#include <dlfcn.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        fputs("usage: PlainHost <libKavroZip.so>\n", stderr);
        return 2;
    }
    void *library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fprintf(stderr, "%s\n", dlerror());
        return 3;
    }
    void (*kZipdll)(void) = (void (*)(void))dlsym(library, "kZipdll");
    if (!kZipdll) {
        fprintf(stderr, "%s\n", dlerror());
        return 4;
    }
    kZipdll();
    puts("kZipdll returned");
    fflush(stdout);
    dlclose(library);
    return 0;
}
