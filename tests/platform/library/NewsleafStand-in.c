/* A notice library that writes the arguments of its call to the file $VEK_TEST_LEAFNOTE. */
#include <stdio.h>
#include <stdlib.h>

void leafnote(int top, int left, int height, int width, const char *address)
{
    const char *path = getenv("VEK_TEST_LEAFNOTE");
    FILE *file = path ? fopen(path, "w") : NULL;
    if (!file)
        return;
    fprintf(file, "%d %d %d %d %s", top, left, height, width, address);
    fclose(file);
}
