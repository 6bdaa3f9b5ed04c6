// A child program for the process runner's tests. Its first argument says what to do:
//   both     writes "out1" to stdout, "err1" to stderr, "out2" to stdout (flushed each)
//   nul      writes "ab", a NUL byte, "cd"
//   stdin    reads stdin to its end and prints how many bytes came
//   big      writes 200000 bytes
//   exit N   exits with code N after printing nothing
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 100;
    const char* mode = argv[1];
    if (strcmp(mode, "both") == 0)
    {
        fputs("out1\n", stdout);
        fflush(stdout);
        fputs("err1\n", stderr);
        fflush(stderr);
        fputs("out2\n", stdout);
        fflush(stdout);
        return 0;
    }
    if (strcmp(mode, "nul") == 0)
    {
        fwrite("ab\0cd", 1, 5, stdout);
        return 0;
    }
    if (strcmp(mode, "stdin") == 0)
    {
        long count = 0;
        while (getchar() != EOF)
            count++;
        printf("read %ld\n", count);
        return 0;
    }
    if (strcmp(mode, "big") == 0)
    {
        for (int i = 0; i < 200000; i++)
            putchar('a' + i % 26);
        return 0;
    }
    if (strcmp(mode, "exit") == 0 && argc > 2)
        return atoi(argv[2]);
    return 101;
}
