// The application core's portable sources are added here as they are written.
