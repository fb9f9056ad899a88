// Program entry: builds the application object and runs the main frame.
int main(int, char**)
{
    return 0;
}
