// Stands in for the help program in the Windows directory: only its cursor resource
// is ever used.
int main()
{
    return 0;
}
