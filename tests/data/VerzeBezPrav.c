/* A library that exists only for its version resource (VerzeBezPrav.rc). */
int VerzeBezPrav(void) { return 0; }
