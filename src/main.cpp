#include "app/Application.h"

int main(int argc, char** argv) { return vz::RunApplication(argc, argv); }
