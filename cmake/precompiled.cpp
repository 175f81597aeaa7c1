// The donor of a precompiled header: the header is all it compiles.
