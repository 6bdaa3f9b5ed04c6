// The baseline of the Find in Files benchmark: a program that starts and does nothing.
int main()
{
    return 0;
}
