// The grid library's sources are added here as they are written.
