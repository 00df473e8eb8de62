#include "app/launcher.h"

int main() { return kalup::launcher::runGame(); }
