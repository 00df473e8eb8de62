#include "app/lifecycle.h"

int main() { return kalup::lifecycle::runGame(); }
