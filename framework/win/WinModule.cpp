// The window layer's sources are added here as they are written.
