// Program entry. The main window and its dispatcher arrive with the shell.
int main() { return 0; }
