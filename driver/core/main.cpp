// Program entry of driver. (The window and main loop arrive with the skeleton.)
int main() { return 0; }
