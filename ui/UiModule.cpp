// The ui library's sources are added here as they are written.
